#include <QApplication>

#include "app/qt/CHemlowHTMLApp.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Fenwold"));
    QApplication::setApplicationName(QStringLiteral("Tagloom"));
    QApplication::setApplicationVersion(QStringLiteral(TAGLOOM_VERSION));
    tagloom::CHemlowHTMLApp app;
    if (!app.start(QApplication::arguments().mid(1))) return 1;
    const int code = QApplication::exec();
    app.exit();
    return code;
}
