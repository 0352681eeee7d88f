#include "app/BuildingNotice.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    vtx::BuildingNotice notice;
    notice.show();
    return application.exec();
}
