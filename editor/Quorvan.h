#pragma once
// The editor's application object: start-up, the idle-time redraw, and the About and
// Material Editor commands.
#include "framework/Application.h"

class CQuorvanApp : public fw::Application {
public:
    // Registers the editor's resources. Needs the toolkit started; one at a time.
    CQuorvanApp();

    bool InitInstance() override;
    // Stops while the main window is minimised; otherwise, once the framework's own idle work
    // is done, has the active document draw its view, and wants to be called again.
    bool OnIdle(long count) override;

    void OnAppAbout();
    void OnToolsMaterialEditor();
};

// The application object, when one exists.
CQuorvanApp* QuorvanApp();
