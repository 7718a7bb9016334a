// Prints the TLS backends of the Qt the program is built with and the one its https requests
// (the update check) use. Fails when there is none: https addresses could not be reached.
// Usage: korvane_tls_backends
#include <iostream>

#include <QCoreApplication>
#include <QSslSocket>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::cout << "available:";
    for (const QString& backend : QSslSocket::availableBackends()) {
        std::cout << ' ' << backend.toStdString();
    }
    std::cout << "\nactive: " << QSslSocket::activeBackend().toStdString() << '\n';
    return QSslSocket::supportsSsl() ? 0 : 1;
}
