#include "app/NorvoApp.h"

int main(int argc, char** argv)
{
    // The application class lives in a static library; naming it here links it in.
    wxApp::SetInstance(new CNorvoApp);
    return wxEntry(argc, argv);
}
