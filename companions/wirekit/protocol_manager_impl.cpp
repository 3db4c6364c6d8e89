#include "protocol_manager_impl.h"

namespace wirekit {

ProtocolManagerImpl::ProtocolManagerImpl()
    : accounts_(context_, accountWorker_), login_(context_, accountWorker_, accounts_),
      uploads_(context_, uploadWorker_), guildDkp_(context_, guildWorker_) {}

ProtocolManagerImpl::~ProtocolManagerImpl() {
    // The transfer threads use the services: stop them first.
    stopTransfers();
}

void ProtocolManagerImpl::acquire() {
    std::lock_guard lock(holdersMutex_);
    if (holders_++ > 0)
        return;
    context_.hub.open();
    accountWorker_.start();
    uploadWorker_.start();
    guildWorker_.start();
}

void ProtocolManagerImpl::release() {
    std::lock_guard lock(holdersMutex_);
    if (holders_ == 0 || --holders_ > 0)
        return;
    // Closed first, so that a transfer ending while the threads stop posts nothing.
    context_.hub.close();
    stopTransfers();
}

void ProtocolManagerImpl::stopTransfers() {
    accountWorker_.stop();
    uploadWorker_.stop();
    guildWorker_.stop();
}

} // namespace wirekit
