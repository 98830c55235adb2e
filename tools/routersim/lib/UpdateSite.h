// The maker's update server: the version information file, release notes (a .zip holding a
// text file, per language), and the Debian package of the published version with its
// SHA-256 beside it ("<package>.sha256", sha256sum's format).
#pragma once

#include <cstddef>
#include <mutex>
#include <string>

#include "Faults.h"
#include "Request.h"
#include "Response.h"

namespace routersim {

class UpdateSite {
  public:
    // version in dotted form, e.g. "2.2.3.4" (its digits make the compact form "2234").
    explicit UpdateSite(std::string version) : version_(std::move(version)) {}

    void setVersion(std::string version);
    std::string version() const;
    std::string compactVersion() const;
    // Size of the package it serves (large enough for a progress bar to move).
    void setPackageBytes(std::size_t bytes);
    // The published checksum names other bytes than the package's.
    void setChecksumWrong(bool wrong);
    // The release note as plain text instead of an archive.
    void setNoteAsArchive(bool archive);

    Response handle(const Request& request, const Faults& faults);

    // The package's bytes for a file name (same bytes for every architecture).
    std::string packageBytes() const;
    // The text inside the release note for "CHS" or "CHT".
    std::string noteText(const std::string& language) const;
    // "ferrovane_<version>_" before the architecture.
    std::string packagePrefix() const;

    static constexpr const char* kVersionPath =
        "/pub/KOVA/Freshpost/Release/Wireless/FV_update_v22.zip";
    static constexpr const char* kFilesPath = "/pub/KOVA/wireless/Polaros/";

  private:
    mutable std::mutex mutex_;
    std::string version_;
    std::size_t packageBytes_ = 256 * 1024;
    bool checksumWrong_ = false;
    bool noteAsArchive_ = true;
};

// A .zip archive holding one file (stored deflated), made in memory.
std::string zipOneFile(const std::string& name, const std::string& content);

}  // namespace routersim
