// The fv-routersim program: prints its ports, serves on them, stops cleanly on a signal.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <regex>

#include "SimFixture.h"

namespace routersim::test {
namespace {

class Program : public ::testing::Test {
  protected:
    void TearDown() override {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0)
            ::close(out_);
    }

    void start(std::vector<std::string> args) {
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        pid_ = ::fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) {
            ::dup2(pipeFds[1], STDOUT_FILENO);
            const int quiet = ::open("/dev/null", O_WRONLY);
            ::dup2(quiet, STDERR_FILENO);
            ::close(pipeFds[0]);
            std::vector<char*> argv{const_cast<char*>(FV_ROUTERSIM_PROGRAM)};
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(pipeFds[1]);
        out_ = pipeFds[0];
    }

    // Reads the program's output until `lines` lines arrived or 5 s passed.
    std::string readLines(int lines) {
        std::string text;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::count(text.begin(), text.end(), '\n') < lines &&
               std::chrono::steady_clock::now() < until) {
            pollfd p{out_, POLLIN, 0};
            if (::poll(&p, 1, 100) != 1)
                continue;
            char buffer[512];
            const ssize_t n = ::read(out_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            text.append(buffer, static_cast<std::size_t>(n));
        }
        return text;
    }

    // Waits up to 3 s for the program to end; its exit status, or -1.
    int waitForExit() {
        for (int i = 0; i < 300; ++i) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            ::usleep(10000);
        }
        return -1;
    }

    pid_t pid_ = -1;
    int out_ = -1;
};

std::map<std::string, std::uint16_t> portsIn(const std::string& text) {
    std::map<std::string, std::uint16_t> ports;
    const std::regex line(R"(fv-routersim: (\w+(?: \w+)?) +\S*?127\.0\.0\.1:(\d+))");
    for (std::sregex_iterator it(text.begin(), text.end(), line), end; it != end; ++it)
        ports[(*it)[1]] = static_cast<std::uint16_t>(std::stoi((*it)[2]));
    return ports;
}

TEST_F(Program, ServesOnThePrintedPortsAndStopsOnEachSignal) {
    for (int signal : {SIGTERM, SIGINT}) {
        start({"--service-port", "0", "--web-port", "0", "--auth-port", "0", "--discovery-port",
               "0", "--control"});
        const auto ports = portsIn(readLines(7));
        for (const char* name : {"service", "web", "auth", "share link", "update", "control"})
            ASSERT_EQ(ports.count(name), 1u) << name;
        EXPECT_EQ(statusCode(fetch(ports.at("service"),
                                   buildRequest("GET", "/", {basicHeader("admin", "admin")}))),
                  "200");
        const auto control =
            fetch(ports.at("control"), buildRequest("POST", "/control", {}, "busy on\n"));
        EXPECT_EQ(control.body, "OK\n");
        EXPECT_EQ(statusCode(fetch(ports.at("service"), buildRequest("GET", "/"))), "600");
        ::kill(pid_, signal);
        EXPECT_EQ(waitForExit(), 0) << "signal " << signal;
        EXPECT_FALSE(exchange(ports.at("service"), "GET / HTTP/1.1\r\n\r\n").connected);
        ::close(out_);
        out_ = -1;
    }
}

TEST_F(Program, BadOptionsEndWithAMessage) {
    start({"--service-port", "99999"});
    EXPECT_EQ(waitForExit(), 2);
}

}  // namespace
}  // namespace routersim::test
