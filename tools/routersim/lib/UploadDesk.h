// The upload script: takes a .torrent or .nzb from a multipart form and answers with one of the
// router's answer words; a second request records which files of a torrent to download.
#pragma once

#include "Faults.h"
#include "Request.h"
#include "Response.h"
#include "TaskBoard.h"

namespace routersim {

class UploadDesk {
  public:
    explicit UploadDesk(TaskBoard& board) : board_(board) {}

    // POST with the file: "BT_ACK_SUCESS" (torrent taken), "ACK_SUCESS" (NZB taken),
    // "BT_EXIST" (torrent already known), "ACK_FAIL" (unreadable upload), or the word a fault asks
    // for.
    Response upload(const Request& request, const Faults& faults);
    // GET with filename= and download_type=.
    Response select(const Request& request);

  private:
    Response acceptNzb(const std::string& uploadName, const std::string& data);

    TaskBoard& board_;
};

// Reads the name and total size an NZB announces; falls back to the upload's name.
std::string nzbTitle(const std::string& data, const std::string& fallback);
std::int64_t nzbSize(const std::string& data);

}  // namespace routersim
