#include "login_service_impl.h"

#include "http_transfer.h"
#include "wire_records.h"

namespace wirekit {

namespace {

// What an answer other than a successful one means for the login.
Failure failureOf(const HttpResponse& response) {
    if (response.failure != Failure::None)
        return response.failure;
    if (response.status == 401 || response.status == 403)
        return Failure::Refused;
    return response.status == 200 ? Failure::Malformed : Failure::HttpError;
}

} // namespace

LoginServiceImpl::LoginServiceImpl(WireContext& context, RequestWorker& worker,
                                   AccountServiceImpl& accounts)
    : context_(context), worker_(worker), accounts_(accounts) {}

void LoginServiceImpl::login(const std::u16string& userName, const std::string& passwordDigest) {
    // The request body is the only place the digest is kept; it is never logged.
    worker_.submit([this, body = loginRequest(userName, passwordDigest)](
                       const std::atomic<bool>& stopping) { exchange(body, stopping); });
}

void LoginServiceImpl::exchange(const std::string& loginBody, const std::atomic<bool>& stopping) {
    const std::string site = context_.settings.siteUrl();
    if (site.empty())
        return answerFailure(Failure::NoSiteAddress);
    const Timeouts timeouts = context_.settings.timeouts();

    const HttpResponse login =
        performRequest({true, site + "/api/login", loginBody, {}}, timeouts, stopping);
    if (login.failure != Failure::None || login.status != 200)
        return answerFailure(failureOf(login));
    const LoginAnswer answer = parseLoginAnswer(login.body);
    if (answer.failure != Failure::None)
        return answerFailure(answer.failure);

    const HttpResponse account =
        performRequest({false, site + "/api/account", {}, answer.token}, timeouts, stopping);
    auto data = account.failure == Failure::None && account.status == 200
                    ? parseAccountAnswer(account.body)
                    : std::nullopt;
    if (!data)
        return answerFailure(failureOf(account));

    context_.hub.post([this, token = answer.token, data = std::move(*data)]() mutable {
        context_.session.setToken(token);
        accounts_.setAccount(std::move(data));
        listeners_.forEach(
            [](protocol::LoginListener* listener) { listener->onLoginResult(1, 0); });
        accounts_.announce();
    });
}

void LoginServiceImpl::answerFailure(Failure failure) {
    if (failure == Failure::Cancelled)
        return;
    context_.hub.post([this, failure] {
        listeners_.forEach([failure](protocol::LoginListener* listener) {
            listener->onLoginResult(0, code(failure));
        });
    });
}

} // namespace wirekit
