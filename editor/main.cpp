// Quorvan, the mesh viewer and editor.
#include "Quorvan.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication toolkit(argc, argv);
    CQuorvanApp app;
    return app.Run();
}
