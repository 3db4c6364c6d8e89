#include "http_transfer.h"

#include <curl/curl.h>
#include <memory>

namespace wirekit {

namespace {

struct Transfer {
    std::string body;
    bool tooLarge = false;
    const std::atomic<bool>* cancelled = nullptr;
};

size_t collectBody(char* data, size_t size, size_t count, void* context) {
    auto* transfer = static_cast<Transfer*>(context);
    const size_t bytes = size * count;
    if (transfer->body.size() + bytes > kMaxAnswerBytes) {
        transfer->tooLarge = true;
        return 0;
    }
    transfer->body.append(data, bytes);
    return bytes;
}

int checkCancelled(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Transfer*>(context)->cancelled->load() ? 1 : 0;
}

Failure failureOf(CURLcode result, const Transfer& transfer) {
    if (transfer.tooLarge)
        return Failure::Malformed;
    if (transfer.cancelled->load())
        return Failure::Cancelled;
    return result == CURLE_OPERATION_TIMEDOUT ? Failure::TimedOut : Failure::Transport;
}

using EasyHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

} // namespace

HttpResponse performRequest(const HttpRequest& request, const Timeouts& timeouts,
                            const std::atomic<bool>& cancelled) {
    EasyHandle curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl)
        return {Failure::Transport, 0, {}};
    Transfer transfer;
    transfer.cancelled = &cancelled;

    HeaderList headers(nullptr, &curl_slist_free_all);
    auto addHeader = [&headers](const std::string& line) {
        headers.reset(curl_slist_append(headers.release(), line.c_str()));
    };
    addHeader("Accept: application/json, text/plain");
    if (!request.bearerToken.empty())
        addHeader("Authorization: Bearer " + request.bearerToken);

    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, timeouts.connectMs);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, timeouts.transferMs);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
    // A proxy from the environment never carries traffic meant for this machine.
    curl_easy_setopt(handle, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &collectBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &checkCancelled);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
    if (request.post) {
        addHeader("Content-Type: application/json; charset=utf-8");
        addHeader("Expect:"); // send the body at once, without waiting for a go-ahead
        curl_easy_setopt(handle, CURLOPT_POST, 1L);
        curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request.jsonBody.data());
        curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(request.jsonBody.size()));
    }
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());

    const CURLcode result = curl_easy_perform(handle);
    if (result != CURLE_OK)
        return {failureOf(result, transfer), 0, {}};
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    return {Failure::None, status, std::move(transfer.body)};
}

} // namespace wirekit
