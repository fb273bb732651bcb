// Work that runs on a worker thread while its owner goes on, such as decoding a window's
// pictures while the window builds its controls. The work must touch no widget.
#pragma once

#include <functional>
#include <future>

template<typename Result> class BackgroundTask {
public:
    explicit BackgroundTask(std::function<Result()> work)
        : m_result(std::async(std::launch::async, std::move(work)))
    {
    }
    // Waits for the work to end, so that it never outlives what it was started for.
    ~BackgroundTask() = default;

    BackgroundTask(const BackgroundTask &) = delete;
    BackgroundTask &operator=(const BackgroundTask &) = delete;

    bool isTaken() const { return !m_result.valid(); }

    // Waits for the work and gives its result, or throws what it threw. Once only.
    Result take() { return m_result.get(); }

private:
    std::future<Result> m_result;
};
