// Text commands that switch the simulator's faults and states at run time, for people and
// scripts driving the fv-routersim program (the in-process API does the same for tests).
//
//   fault <listener> refuse on|off     fault <listener> delay <ms>
//   fault <listener> drip <bytes> <ms> fault <listener> reset
//   fault <listener> close             fault <listener> status <whole status line>
//   fault <listener> xml               fault <listener> answer <word>
//   fault <listener> reportline <text> fault <listener> only <target text>
//   fault <listener> count <n>         fault <listener> method <GET|POST>
//   fault <listener> expire            clear
//   busy on|off      session on|off    expire       service on|off
//   tasks <n>        discovery on|off  requests
//
// <listener> is service, web, auth, sharelink or update. Each command answers "OK" (with
// lines of data for "requests") or "ERR <reason>". The program takes them as the body of
// "POST /control" on its control port, which listens on 127.0.0.1 only.
#pragma once

#include <string>

#include "Simulator.h"

namespace routersim {

std::string runControlCommand(Simulator& sim, const std::string& line);
// Runs every non-empty line of `script`; the answers, one per command, each end with "\n".
std::string runControlScript(Simulator& sim, const std::string& script);

}  // namespace routersim
