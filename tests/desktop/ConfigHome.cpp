#include <QTemporaryDir>
#include <cstdlib>

namespace {

// The settings store fixes its folder at first use, so the tests' own folder
// is set before anything runs, and nothing of the user's is read or written.
struct ConfigHome {
    QTemporaryDir dir;
    ConfigHome() { setenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit().constData(), 1); }
};

const ConfigHome configHome;

} // namespace
