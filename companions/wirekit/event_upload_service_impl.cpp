#include "event_upload_service_impl.h"

#include "http_transfer.h"
#include "wire_records.h"

namespace wirekit {

EventUploadServiceImpl::EventUploadServiceImpl(WireContext& context, RequestWorker& worker)
    : context_(context), worker_(worker) {}

void EventUploadServiceImpl::uploadEvent(const std::u16string& guildId, std::uint32_t dkpSystemId,
                                         const std::u16string& eventName,
                                         const std::u16string& eventNote,
                                         const std::u16string& raidDocument) {
    worker_.submit(
        [this, body = uploadRequest(guildId, dkpSystemId, eventName, eventNote, raidDocument)](
            const std::atomic<bool>& stopping) { exchange(body, stopping); });
}

void EventUploadServiceImpl::exchange(const std::string& uploadBody,
                                      const std::atomic<bool>& stopping) {
    const std::string site = context_.settings.siteUrl();
    if (site.empty())
        return answer(0, Failure::NoSiteAddress, 0);
    const HttpResponse response =
        performRequest({true, site + "/api/events", uploadBody, context_.session.token()},
                       context_.settings.timeouts(), stopping);
    if (response.failure != Failure::None)
        return answer(0, response.failure, 0);
    if (response.status != 200)
        return answer(static_cast<std::int32_t>(response.status), Failure::HttpError, 0);
    const auto result = parseUploadAnswer(response.body);
    if (!result)
        return answer(0, Failure::Malformed, 0);
    if (result->status != 200)
        return answer(result->status, Failure::Refused, 0);
    answer(200, Failure::None, result->eventId);
}

void EventUploadServiceImpl::answer(std::int32_t status, Failure failure, std::int32_t eventId) {
    if (failure == Failure::Cancelled)
        return;
    context_.hub.post([this, status, failure, eventId] {
        listeners_.forEach([&](protocol::EventUploadListener* listener) {
            listener->onUploadResult(status, code(failure), eventId);
        });
    });
}

} // namespace wirekit
