#include "fetchkit/fetchkit.h"

#include "fetchkit/update_downloader.h"

#include "utilkit/process_instance.h"
#include "utilkit/ufile.h"
#include "utilkit/usettings.h"

namespace {

utilkit::ProcessInstance<fetchkit::UpdateDownloader> downloader;

} // namespace

extern "C" fetchkit::Downloader* GetDownloader() {
    return downloader.get([] {
        return new fetchkit::UpdateDownloader(
            {ufile::GetModulePathDir(), usettings::loadDeployment().updateUrl});
    });
}

extern "C" void ReleaseDownloader() {
    delete downloader.take();
}
