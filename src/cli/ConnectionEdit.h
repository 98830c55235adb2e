// "fvctl settings set connection.KEY=VALUE": the stored connection in FVSetup.xml changed
// the way the setup page's Apply stores it, with the page's bounds for numbers. The file is
// rewritten whole and atomically, its other columns kept.
#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace fv::cli {

class ConnectionEdit {
  public:
    static constexpr const char* kPrefix = "connection.";
    // The keys after the prefix.
    static const std::vector<const char*>& keys();
    static bool knows(const QString& key);

    // Empty when every value fits its key; otherwise why not.
    static QString check(const QString& key, const QString& value);

    // Applies (key, value) pairs to the file at path; false with the reason in error.
    static bool apply(const QString& path, const std::vector<std::pair<QString, QString>>& changes,
                      QString* error);
};

}  // namespace fv::cli
