#pragma once

#include <QStringList>

// sart-tester --check FILE.pdf [--ca CA.pem] [--archive FOLDER]: checks a
// certificate without a window and prints the findings one per line.
namespace checkcommand {

inline const QString Option = QStringLiteral("--check");

bool asked(int argc, char *argv[]);

// Runs the check the arguments ask for; returns the exit status: 0 when
// every finding holds, 1 when one does not, 2 for arguments it cannot use.
// The CA file is the one the signing settings name unless --ca names one;
// the archive is the "bin" folder of the folder the program works in
// (--own-folder as for the window) unless --archive names one.
int run(const QStringList &arguments);

} // namespace checkcommand
