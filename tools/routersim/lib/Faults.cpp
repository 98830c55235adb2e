// What a listener should do wrong for the next requests.
#include "Faults.h"

namespace routersim {

bool Faults::any() const {
    return delayMs > 0 || dripChunkBytes > 0 || resetMidBody || closeWithoutReply ||
           !statusLine.empty() || !headersFirst.empty() || replaceBody || !answerWord.empty() ||
           !reportLine.empty() || expireSessions;
}

Faults Faults::xmlPage() {
    Faults f;
    f.replaceBody = true;
    f.body =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\">\n"
        "<html><head><title>Login</title></head><body>Please log in.</body></html>\n";
    return f;
}

}  // namespace routersim
