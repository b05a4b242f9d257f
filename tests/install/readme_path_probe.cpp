// Prints where a program in this probe's folder looks for the user's readme. The install test
// copies the probe beside the installed tallyra, so it answers for the installed layout without
// opening anything.
#include "platform/readme_path.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << tallyra::ReadmePath() << '\n';
    return 0;
}
