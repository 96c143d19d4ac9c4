// The local stand-in of the service: listens on 127.0.0.1, prints the address
// it listens on ("host:port", as QUELLMARK_SERVICE takes it) and serves until
// it is stopped.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>
#include "service/quellmark_service.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quellmark_service"));
    QCommandLineParser args;
    args.setApplicationDescription(QStringLiteral("Local stand-in of the Quellmark service."));
    args.addHelpOption();
    args.addPositionalArgument(QStringLiteral("port"), QStringLiteral("Port to listen on; 0 (the default) for any."));
    const QCommandLineOption data({QStringLiteral("d"), QStringLiteral("data")},
                                  QStringLiteral("Accounts and sites from this file instead of the demo data."),
                                  QStringLiteral("file"));
    const QCommandLineOption client({QStringLiteral("c"), QStringLiteral("client")},
                                    QStringLiteral("The client program the launcher checks against and downloads."),
                                    QStringLiteral("file"));
    const QCommandLineOption fault({QStringLiteral("f"), QStringLiteral("fault")},
                                   QStringLiteral("A fault to show: kind[:value][@code][*times], kinds status, "
                                                  "wrong_code, truncated, early_close, delay, http_status."),
                                   QStringLiteral("fault"));
    const QCommandLineOption auto_activate(QStringLiteral("auto-activate"),
                                           QStringLiteral("Confirm a site's activation number as soon as it is set."));
    args.addOptions({data, client, fault, auto_activate});
    args.process(app);

    quellmark_service service;
    QString error;
    const bool loaded =
        args.isSet(data) ? service.state().load_file(args.value(data), &error) : service.state().load_demo(&error);
    if (!loaded) {
        std::fprintf(stderr, "quellmark_service: %s\n", qPrintable(error));
        return 2;
    }
    // The demo's dates lie before the day the service starts.
    if (!args.isSet(data)) service.state().move_dates_before(QDateTime::currentSecsSinceEpoch());
    if (args.isSet(client)) service.state().set_client_file(args.value(client));
    service.state().auto_activate = args.isSet(auto_activate);
    for (const QString& text : args.values(fault)) {
        quellmark_fault f;
        if (!quellmark_parse_fault(text, f)) {
            std::fprintf(stderr, "quellmark_service: bad fault '%s'\n", qPrintable(text));
            return 2;
        }
        service.add_fault(f);
    }
    quint16 port = 0;
    if (!args.positionalArguments().isEmpty()) {
        bool ok = false;
        const uint p = args.positionalArguments().first().toUInt(&ok);
        if (!ok || p > 65535 || args.positionalArguments().size() > 1) {
            std::fprintf(stderr, "quellmark_service: the port is a number from 0 to 65535\n");
            return 2;
        }
        port = quint16(p);
    }
    if (!service.listen(QHostAddress::LocalHost, port)) {
        std::fprintf(stderr, "quellmark_service: cannot listen on 127.0.0.1:%u\n", unsigned(port));
        return 1;
    }
    std::printf("%s\n", qPrintable(service.address()));
    std::fflush(stdout);
    return app.exec();
}
