#include "app/browser/BrowserHost.h"

namespace {
BrowserHost* gHost = nullptr;
}

BrowserHost* GetBrowserHost() { return gHost; }

void SetBrowserHost(BrowserHost* host) { gHost = host; }
