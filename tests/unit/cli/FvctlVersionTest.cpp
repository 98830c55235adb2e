// fvctl version [--check] against the simulator's update server over TLS.
#include <gtest/gtest.h>

#include "FvctlFixture.h"
#include "i18n/ClientTexts.h"
#include "i18n/MessageTexts.h"
#include "platform/VersionInfo.h"
#include "update/UpdateSite.h"

namespace fv::test {
namespace {

using routersim::Listener;

struct VersionCase {
    const char* what;
    const char* published;  // nullptr: nothing listens on the update port
    bool trusted;
    QStringList arguments;
    int exitCode;
    QString secondLine;  // on stdout, after "fvctl <version>"
    QString error;       // on stderr
    bool asksTheServer;
};

class FvctlVersion : public FvctlFixture, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(FvctlVersion, PrintsTheVersionAndWhatTheServerPublishes) {
    const VersionCase& c = GetParam();
    const QString site = QStringLiteral("https://127.0.0.1:%1").arg(sim->port(Listener::Update));
    environment.emplace_back(UpdateSite::kSiteVariable, site);
    if (c.trusted)
        environment.emplace_back(UpdateSite::kCaVariable,
                                 writeFile("update-ca.pem", sim->updateAuthorityPem()));
    if (c.published)
        sim->updates().setVersion(c.published);
    else
        sim->stop();
    const FvctlResult r = run(c.arguments);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.what << ": " << r.err.toStdString();
    QStringList expected{"fvctl " + VersionInfo::programVersion()};
    if (!c.secondLine.isEmpty())
        expected << c.secondLine;
    EXPECT_EQ(r.out.split('\n', Qt::SkipEmptyParts), expected) << c.what;
    EXPECT_EQ(r.err.trimmed(), c.error.isEmpty() ? QString() : "fvctl: " + c.error) << c.what;
    size_t asked = 0;
    for (const routersim::Request& req : sim->requests())
        asked += req.target == UpdateSite::kVersionPath ? 1 : 0;
    EXPECT_EQ(asked, c.asksTheServer ? 1u : 0u) << c.what;
}

const QString& msg(Msg m) {
    return MessageTexts::english()[m];
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FvctlVersion,
    ::testing::Values(
        VersionCase{"noCheck", "2.2.0.1", true, {"version"}, 0, {}, {}, false},
        VersionCase{"newer",
                    "2.2.0.1",
                    true,
                    {"version", "--check"},
                    0,
                    ClientTexts::english()[Ct::FvctlVersionNewer].arg("2.2.0.1"),
                    {},
                    true},
        VersionCase{
            "same", "2.2.0.0", true, {"version", "--check"}, 0, msg(Msg::FormUpdateMag4), {}, true},
        VersionCase{"older",
                    "2.1.0.0",
                    true,
                    {"version", "--check"},
                    0,
                    msg(Msg::FormUpdateMag4),
                    {},
                    true},
        VersionCase{"untrusted",
                    "2.2.0.1",
                    false,
                    {"version", "--check"},
                    3,
                    {},
                    ClientTexts::english()[Ct::UpdateUntrusted],
                    false},
        VersionCase{"offline",
                    nullptr,
                    true,
                    {"version", "--check"},
                    3,
                    {},
                    msg(Msg::FormUpdateMag5),
                    false}),
    [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace fv::test
