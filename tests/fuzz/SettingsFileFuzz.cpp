// Fuzzes the reading of FVSetup.xml from bytes (the in-memory load, so no file of the user is
// touched) and the three column codecs. Besides memory safety it checks what the client relies
// on when it saves after a load: the document it writes always loads again with the same
// columns, and the records read from it survive a write and a read unchanged once they have
// been through one (a second round trip changes nothing).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>

#include "FuzzSeeds.h"
#include "platform/DebugLog.h"
#include "settings/BitTorrentSettings.h"
#include "settings/ConnectionSettings.h"
#include "settings/NzbSettings.h"
#include "settings/SettingsFile.h"

namespace {

using fv_fuzz::check;

fv_fuzz::Seeds seeds() {
    const std::string con =
        "<ConColumn><FVRadioRemote>0</FVRadioRemote><FVRemoteRadioNo>1</FVRemoteRadioNo>"
        "<FVAddressLocal>192.168.1.1</FVAddressLocal><Port>8080</Port><UserName>admin</UserName>"
        "<Password>pw</Password><AuthMethod>1</AuthMethod><AuthPort>8443</AuthPort>"
        "<AssBt>1</AssBt><Autorefresh>5</Autorefresh></ConColumn>";
    const std::string bt = "<BTColumn><Down_rate>500</Down_rate><Port>1</Port></BTColumn>";
    const std::string nzb = "<NZBColumn><Host>news</Host><Password>x&amp;y</Password></NZBColumn>";
    QByteArray utf16;
    {
        const QString text = QString::fromStdString(
            "<?xml version=\"1.0\" encoding=\"UTF-16\"?><root>" + con + "</root>");
        utf16.append("\xff\xfe", 2);
        utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    return {
        "<?xml version=\"1.0\"?>\n<root>" + con + bt + nzb + "</root>",
        utf16.toStdString(),
        "<root><ConColumn><Port>1</Port></ConColumn><Other a=\"1\"/><ConColumn><Port>2</Port>"
        "</ConColumn></root>",
        "<root/><root/>",
        "<notroot><ConColumn><Port>3</Port></ConColumn></notroot>",
        "<root><ConColumn><AuthMethod>7</AuthMethod><FVRemoteRadioNo>-1</FVRemoteRadioNo>"
        "<UserName>\xef\xbf\xbe</UserName></ConColumn><!-- c --><?pi x?></root>",
        "<root><ConColumn><Port>&#1;",
        // Found by this target: names of bytes that are not UTF-8 were saved empty, and the
        // saved file no longer loaded.
        "<root><Conr \xb0=\"1\"/><ConColumn><Port>2</Port></ConColumn></root>",
        "<root><ConColumn><Port>1</Port></ConColumn><O\x9fther a=\"1\"/></root>",
        "<root><ConColumn><Port>1</Port></ConColumn><Othe\xf2 a=\"1\"/></root>",
    };
}

template <class Record>
void putAll(fv::SettingsFile& file, const Record& record) {
    file.put(record, fv::SetupFormKind::SetupPages);
}

}  // namespace

FV_FUZZ_SEED_MODE(seeds)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // The path is never opened: only load() and save() reach the file.
    fv::SettingsFile file(QStringLiteral("/nonexistent/fuzz/FVSetup.xml"));
    if (!file.loadBytes(bytes))
        return 0;
    const QStringList columns = file.columns();
    const fv::ConnectionSettings con = file.connection();
    const fv::BitTorrentSettings bt = file.bitTorrent();
    const fv::NzbSettings nzb = file.nzb();

    // What the client writes after a load keeps the document readable, and keeps its columns
    // and records; saving it once more changes nothing.
    fv::SettingsFile reread(file.path());
    check(reread.loadBytes(file.serialize()), "a loaded document saves as one that loads again");
    check(reread.columns() == columns, "saving keeps the columns");
    check(reread.connection() == con && reread.bitTorrent() == bt && reread.nzb() == nzb,
          "saving keeps the records");
    fv::SettingsFile rereadTwice(file.path());
    check(rereadTwice.loadBytes(reread.serialize()), "a saved document saves again");
    check(rereadTwice.columns() == reread.columns(), "a second save keeps the columns");
    check(rereadTwice.connection() == reread.connection() &&
              rereadTwice.bitTorrent() == reread.bitTorrent() && rereadTwice.nzb() == reread.nzb(),
          "a second save keeps the records");

    // The records written into a document and read back, twice: the second trip is exact.
    fv::SettingsFile once(file.path());
    putAll(once, con);
    putAll(once, bt);
    putAll(once, nzb);
    fv::SettingsFile onceRead(file.path());
    check(onceRead.loadBytes(once.serialize()), "written records load again");
    const fv::ConnectionSettings con1 = onceRead.connection();
    const fv::BitTorrentSettings bt1 = onceRead.bitTorrent();
    const fv::NzbSettings nzb1 = onceRead.nzb();
    fv::SettingsFile twice(file.path());
    putAll(twice, con1);
    putAll(twice, bt1);
    putAll(twice, nzb1);
    fv::SettingsFile twiceRead(file.path());
    check(twiceRead.loadBytes(twice.serialize()), "rewritten records load again");
    check(twiceRead.connection() == con1, "the connection record round-trips");
    check(twiceRead.bitTorrent() == bt1, "the BitTorrent record round-trips");
    check(twiceRead.nzb() == nzb1, "the NZB record round-trips");

    // Stored passwords become log secrets; forget them so the list cannot grow run by run.
    fv::DebugLog::clearSecrets();
    return 0;
}
