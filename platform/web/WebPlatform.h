// The web backend of a page: registers the engine's platform services (the GL binding on the
// page's canvases, the library loader that offers the fixed-function layer, text through the
// canvas 2D API, messages shown by the page). A page has no display mode to change.
//
//     static WebPlatform web;
//     web.Register();
//     WebCanvas canvas{"#canvas"};
//     GlDevice device; device.Create(&canvas); ...
#pragma once

#include "orvex/platform/MessageBox.h"
#include "orvex/platform/Platform.h"
#include "orvex/web/WebGlBinding.h"

// Hands "caption: text" to the page's Module.onMessage, or to the browser's console.
class WebMessageBox final : public MessageBox {
public:
    void Show(const char* caption, const char* text) override;
};

class WebPlatform {
public:
    WebPlatform() = default;
    ~WebPlatform();
    WebPlatform(const WebPlatform&) = delete;
    WebPlatform& operator=(const WebPlatform&) = delete;

    void Register();
    // Withdraws the services if they are still the registered ones.
    void Unregister();
    WebGlBinding& Binding() { return binding; }

private:
    WebGlBinding binding;
    WebMessageBox messages;
};
