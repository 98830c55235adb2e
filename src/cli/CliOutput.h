// Where a command writes: its normal output and its error lines, both UTF-8.
#pragma once

#include <QString>
#include <QTextStream>

#include "i18n/ClientTexts.h"
#include "i18n/MessageTexts.h"

namespace fv::cli {

class CliOutput {
  public:
    CliOutput(QTextStream& out, QTextStream& err,
              const MessageTexts& texts = MessageTexts::english(),
              const ClientTexts& client = ClientTexts::english())
        : out_(out), err_(err), texts_(texts), client_(client) {}

    // The message texts in the user's language.
    const MessageTexts& texts() const { return texts_; }
    // fvctl's own texts (help, table titles) in the user's language.
    const ClientTexts& client() const { return client_; }

    void line(const QString& text) { out_ << text << '\n'; }
    void error(const QString& text) { err_ << "fvctl: " << text << '\n'; }
    QTextStream& out() { return out_; }
    void flush() {
        out_.flush();
        err_.flush();
    }

  private:
    QTextStream& out_;
    QTextStream& err_;
    const MessageTexts& texts_;
    const ClientTexts& client_;
};

}  // namespace fv::cli
