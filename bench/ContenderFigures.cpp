#include "bench/ContenderFigures.h"

#include <cstdio>

#include "bench/BenchFiles.h"

namespace {
// The payload's time: measured inside the run where the contender can tell it, otherwise
// the run on the payload less the run on the probe.
double payloadSeconds(const ProgramRun &whole, const ProgramRun &probe)
{
    return whole.payloadSeconds ? *whole.payloadSeconds : whole.seconds - probe.seconds;
}

bool failed(const std::string &name, const char *what)
{
    std::fprintf(stderr, "ecx_bench: %s: %s\n", name.c_str(), what);
    return false;
}

// Runs `operation` on the probe and on the payload, each reading `from` and writing `to`.
struct FilePair {
    std::string from, to;
};
bool runBoth(const Contender::Operation &operation, const FilePair &probeFiles,
             const FilePair &payloadFiles, DirectionFigures &figures)
{
    const ProgramRun probe = operation(probeFiles.from, probeFiles.to);
    const ProgramRun whole = operation(payloadFiles.from, payloadFiles.to);
    if (!probe.ok || !whole.ok)
        return false;
    figures.probe.add(probe.seconds);
    figures.whole.add(whole.seconds);
    figures.payload.add(payloadSeconds(whole, probe));
    return true;
}
} // namespace

bool ContenderFigures::measure(const RoundFiles &files)
{
    const std::string &name = contender.name;
    // Names with an extension, since some tools add their own to a name without one.
    const std::string sealed = files.scratch + "/payload.sealed",
                      sealedProbe = files.scratch + "/probe.sealed",
                      restored = files.scratch + "/payload.restored",
                      restoredProbe = files.scratch + "/probe.restored";
    removePath(files.scratch);
    if (!createFolder(files.scratch))
        return failed(name, "cannot create the scratch folder");
    if (!runBoth(contender.encrypt, {files.probe, sealedProbe}, {files.payload, sealed}, encrypt))
        return failed(name, "a run failed");
    bool same = false;
    if (!contender.decrypt) {
        same = sameContents(files.payload, sealed) && sameContents(files.probe, sealedProbe);
    } else {
        if (!runBoth(contender.decrypt, {sealedProbe, restoredProbe}, {sealed, restored}, decrypt))
            return failed(name, "a run to restore the file failed");
        same = sameContents(files.payload, restored) && sameContents(files.probe, restoredProbe);
    }
    removePath(files.scratch);
    return same || failed(name, "what came back differs from the original");
}
