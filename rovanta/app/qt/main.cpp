#include "app/qt/rovanta_app.h"

int main(int argc, char** argv)
{
    rovanta::CRovantaApp app(argc, argv);
    if (!app.initInstance())
        return 1;
    return app.exec();
}
