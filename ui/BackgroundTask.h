// Work that runs on a worker thread while its owner goes on, such as decoding a window's
// pictures while the window builds its controls. The work must touch no widget.
#pragma once

#include <functional>
#include <future>
#include <system_error>

template<typename Result> class BackgroundTask {
public:
    explicit BackgroundTask(std::function<Result()> work)
    {
        try {
            m_result = std::async(std::launch::async, work);
        } catch (const std::system_error &) {
            // No thread to be had: the work runs when its result is taken.
            m_result = std::async(std::launch::deferred, std::move(work));
        }
    }
    // Waits for work under way to end, so that it never outlives what it was started for.
    ~BackgroundTask() = default;

    BackgroundTask(const BackgroundTask &) = delete;
    BackgroundTask &operator=(const BackgroundTask &) = delete;

    // Waits for the work and gives its result, or throws what it threw. Once only.
    Result take() { return m_result.get(); }

private:
    std::future<Result> m_result;
};
