// Builds an image pack for the pickers from a folder of pictures, with the
// same builder as the logon dialog's hidden tool:
//   orbel_pack <folder> <pack.dat>
#include <QCoreApplication>
#include <cstdio>

#include "client/orbel_image_pack.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: orbel_pack <folder> <pack.dat>\n");
        return 2;
    }
    QString error;
    if (!orbel_write_image_pack(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), &error)) {
        std::fprintf(stderr, "orbel_pack: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
