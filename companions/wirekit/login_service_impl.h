#pragma once

#include "account_service_impl.h"
#include "failure.h"
#include "listener_set.h"
#include "protocol/login_service.h"
#include "request_worker.h"
#include "wire_context.h"

namespace wirekit {

// Logs in and, when that succeeds, fetches the account data before answering, so that a
// successful result always comes with the data it promises.
class LoginServiceImpl final : public protocol::LoginService {
public:
    LoginServiceImpl(WireContext& context, RequestWorker& worker, AccountServiceImpl& accounts);

    void login(const std::u16string& userName, const std::string& passwordDigest) override;
    void addListener(protocol::LoginListener* listener) override { listeners_.add(listener); }
    void removeListener(protocol::LoginListener* listener) override { listeners_.remove(listener); }

private:
    void exchange(const std::string& loginBody, const std::atomic<bool>& stopping);
    void answerFailure(Failure failure);

    WireContext& context_;
    RequestWorker& worker_;
    AccountServiceImpl& accounts_;
    ListenerSet<protocol::LoginListener> listeners_;
};

} // namespace wirekit
