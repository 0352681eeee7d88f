#pragma once

// For tests that drive the real program from outside (the LAN test across two
// network namespaces): what the player would read off the screen, as
// key=value lines in the file named by VTX_TEST_PROBE, replaced whole
// whenever it changes. The program makes one only when that variable is set
// (TestProbe::fromEnvironment); otherwise nothing of it runs.

#include <QString>

#include <memory>

namespace vtx {

class Match;
struct WindowParts;

class TestProbe {
public:
    // Null unless VTX_TEST_PROBE names a file.
    static std::unique_ptr<TestProbe> fromEnvironment(const Match& match, const WindowParts& parts);

    TestProbe(QString path, const Match& match, const WindowParts& parts);
    // Writes the file when what it shows changed since the last write.
    void update();

private:
    QString text() const;

    QString m_path;
    QString m_written;
    const Match& m_match;
    const WindowParts& m_parts;
};

} // namespace vtx
