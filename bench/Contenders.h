#pragma once
#include <functional>
#include <string>
#include <vector>

#include "bench/ProgramRun.h"

// A way of protecting a file that the benchmark times: `encrypt` writes `to` from `from`,
// and `decrypt` reads back what `encrypt` wrote. A contender without `decrypt` only copies.
struct Contender {
    using Operation = std::function<ProgramRun(const std::string &from, const std::string &to)>;
    std::string name;
    Operation encrypt, decrypt;
};

// The key that every contender uses, as a person would type it.
inline const std::string benchKey = "benchmark key";

Contender copyContender();
// The ecx program, given the key on its standard input.
Contender ecxContender(const std::string &program);
// The same engine called in this process; it tells when the key derivation has ended.
Contender engineContender();

// The peers that are installed; the programs of missing ones are named in `missing`.
// `scratch` is a folder the peers may keep their state in (gpg's home).
std::vector<Contender> installedPeers(const std::string &scratch,
                                      std::vector<std::string> &missing);
// Ends what the peers left running (gpg's agent).
void stopPeers(const std::string &scratch);
