#include "discovery/DiscoveryRequest.h"

namespace fv {

QByteArray discoveryRequest() {
    QByteArray request(kDiscoveryDatagramSize, '\0');
    request[0] = char(0x0C);  // service identifier
    request[1] = char(0x15);  // packet type: request
    request[2] = char(0x1F);  // operation 31, little-endian
    request[3] = char(0x00);
    return request;
}

}  // namespace fv
