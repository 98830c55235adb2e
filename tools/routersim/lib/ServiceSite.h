// The service's web port: login, account check, status report, commands and settings, uploads.
#pragma once

#include "AuthGate.h"
#include "Faults.h"
#include "Request.h"
#include "Response.h"
#include "TaskBoard.h"
#include "TransferSettings.h"
#include "UploadDesk.h"

namespace routersim {

class ServiceSite {
  public:
    ServiceSite(AuthGate& auth, TaskBoard& board, TransferSettings& settings)
        : auth_(auth), board_(board), settings_(settings), uploads_(board) {}

    Response handle(const Request& request, const Faults& faults);

  private:
    Response apply(const Request& request);
    Response initialRead(const std::string& kind);

    AuthGate& auth_;
    TaskBoard& board_;
    TransferSettings& settings_;
    UploadDesk uploads_;
};

}  // namespace routersim
