// Which instance of a host component the suite functions talk to: the latest activated
// one still alive. Instances leave the stack when destroyed, in any order, so the suites
// never reach a destroyed component.
#pragma once

#include <algorithm>
#include <vector>

namespace standin::adm {

template <typename T>
class ActiveStack {
public:
    void push(T* t) {
        remove(t);
        stack_.push_back(t);
    }
    void remove(T* t) { stack_.erase(std::remove(stack_.begin(), stack_.end(), t), stack_.end()); }
    T* current() const { return stack_.empty() ? nullptr : stack_.back(); }

private:
    std::vector<T*> stack_;
};

}  // namespace standin::adm
