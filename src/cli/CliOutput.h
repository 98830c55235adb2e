// Where a command writes: its normal output and its error lines, both UTF-8.
#pragma once

#include <QString>
#include <QTextStream>

namespace fv::cli {

class CliOutput {
  public:
    CliOutput(QTextStream& out, QTextStream& err) : out_(out), err_(err) {}

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
};

}  // namespace fv::cli
