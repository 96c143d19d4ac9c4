// Builds an image pack for the pickers from a folder of pictures, with the
// same builder as the logon dialog's hidden tool:
//   orbel_pack <folder> <pack.dat>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "gui/orbel_image_pack.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: orbel_pack <folder> <pack.dat>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir(folder).exists()) {
        std::fprintf(stderr, "orbel_pack: no folder %s\n", argv[1]);
        return 1;
    }
    QString error;
    if (!orbel_write_image_pack(folder, QString::fromLocal8Bit(argv[2]), &error)) {
        std::fprintf(stderr, "orbel_pack: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
