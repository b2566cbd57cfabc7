#include "posting_checkpoints.h"

namespace {
std::function<void(PostingCheckpoint)> &handler()
{
    static std::function<void(PostingCheckpoint)> h;
    return h;
}
}

namespace PostingCheckpoints {

void setHandler(std::function<void(PostingCheckpoint)> h)
{
    handler() = std::move(h);
}

void clearHandler()
{
    handler() = nullptr;
}

void reach(PostingCheckpoint point)
{
    if (handler())
        handler()(point);
}

}
