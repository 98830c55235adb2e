// Writes a settings file for the desktop client that points it at this simulator.
#include "ClientSettingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <pugixml.hpp>
#include <sstream>

namespace routersim {

namespace {

void add(pugi::xml_node column, const char* name, const std::string& value) {
    column.append_child(name).text().set(value.c_str());
}

std::string portText(std::uint16_t port) {
    return port == 0 ? std::string() : std::to_string(port);
}

bool writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::string clientSettingsDocument(const ClientSettings& s) {
    pugi::xml_document doc;
    auto declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-16";
    auto column = doc.append_child("root").append_child("ConColumn");
    add(column, "FVRadioRemote", "0");
    add(column, "FVRemoteRadioNo", "0");
    add(column, "FVAddressRemote0", "DDNSName");
    add(column, "FVAddressRemote1", "router.example.net");
    add(column, "FVAddressLocal", s.address);
    add(column, "Port", std::to_string(s.servicePort));
    add(column, "UserName", s.user);
    add(column, "Password", s.password);
    add(column, "AssBt", "1");
    add(column, "AssNZB", "1");
    add(column, "Autorefresh", std::to_string(s.refreshSeconds));
    add(column, "AuthMethod", "0");
    add(column, "AuthPort", std::to_string(s.authPort));
    add(column, "UpdateAtBegin", s.checkVersionAtStart ? "1" : "0");
    add(column, "WebDavHttpPort", portText(s.webDavHttpPort));
    add(column, "WebDavHttpsPort", portText(s.webDavHttpsPort));
    std::ostringstream out;
    doc.save(out, "\t", pugi::format_default | pugi::format_write_bom, pugi::encoding_utf16_le);
    return out.str();
}

bool writeClientSettings(const std::string& path, const ClientSettings& settings,
                         std::string* error) {
    const std::string data = clientSettingsDocument(settings);
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    bool ok = fd >= 0 && ::fchmod(fd, 0600) == 0 && writeAll(fd, data) && ::fsync(fd) == 0;
    if (fd >= 0)
        ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        if (error)
            *error = path + ": " + std::strerror(errno);
        ::unlink(temp.c_str());
    }
    return ok;
}

}  // namespace routersim
