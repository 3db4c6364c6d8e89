#pragma once

#include <string>

// The reference DKP site with its demo data, on a free loopback port, for as long as the object
// lives. `url()` is empty when it could not be started.
class DkpsiteProcess {
public:
    explicit DkpsiteProcess(const std::string& databaseFile);
    ~DkpsiteProcess();
    DkpsiteProcess(const DkpsiteProcess&) = delete;
    DkpsiteProcess& operator=(const DkpsiteProcess&) = delete;

    const std::string& url() const { return url_; }   // "http://127.0.0.1:PORT"
    const std::string& host() const { return host_; } // "127.0.0.1:PORT"

private:
    int pid_ = -1;
    std::string url_;
    std::string host_;
};
