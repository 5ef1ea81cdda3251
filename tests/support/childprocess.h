#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace zelkor::testsupport {

struct ProcessResult {
    int exitCode = -1;  // -1 when the process could not run or was killed
    std::string out;
    std::string err;
};

// Runs `argv` to its end (killed after `limit`), collecting both output streams.
ProcessResult RunProcess(const std::vector<std::string>& argv,
                         std::chrono::seconds limit = std::chrono::seconds(60));

// The bundled demo site, started on a free loopback port for the life of this object.
class DemoSiteProcess {
public:
    DemoSiteProcess();
    ~DemoSiteProcess();
    DemoSiteProcess(const DemoSiteProcess&) = delete;
    DemoSiteProcess& operator=(const DemoSiteProcess&) = delete;

    // "http://127.0.0.1:PORT/", or empty when the site did not start.
    const std::string& Base() const { return base_; }

private:
    int pid_ = -1;
    std::string base_;
};

}  // namespace zelkor::testsupport
