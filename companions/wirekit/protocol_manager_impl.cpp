#include "protocol_manager_impl.h"

namespace wirekit {

ProtocolManagerImpl::ProtocolManagerImpl()
    : accounts_(context_, accountWorker_), login_(context_, accountWorker_, accounts_),
      uploads_(context_, uploadWorker_), guildDkp_(context_, guildWorker_) {}

ProtocolManagerImpl::~ProtocolManagerImpl() {
    // The transfer threads use the services: stop them first.
    accountWorker_.stop();
    uploadWorker_.stop();
    guildWorker_.stop();
}

} // namespace wirekit
