#include <QApplication>

#include "app/Unit1.h"
#include "app/splash.h"
#include "view/pictures/pictures.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    application.setWindowIcon(window_icon());

    auto* Form4 = new TForm4;
    Form4->show_painted();
    Form4->close();

    TForm1 Form1(background_picture());
    Form4->deleteLater();

    Form1.show();
    return application.exec();
}
