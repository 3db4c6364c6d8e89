#pragma once

#include "fetchkit/downloader.h"

extern "C" {

// The process-wide downloader for the program's folder and its deployment settings; created by
// the first call.
fetchkit::Downloader* GetDownloader();

// Stops a running download and releases the downloader, if there is one.
void ReleaseDownloader();
}
