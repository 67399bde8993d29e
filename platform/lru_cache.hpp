// A bounded least-recently-used map from a string key to a value. Internal to platform/.
#pragma once

#include <list>
#include <string>
#include <unordered_map>
#include <utility>

namespace platform {

template <typename Value>
class LruCache {
public:
    // evict runs on every value that leaves the cache (eviction, clear, destruction).
    using Evict = void (*)(Value&);
    explicit LruCache(size_t capacity, Evict evict = nullptr)
        : capacity_(capacity > 0 ? capacity : 1), evict_(evict) {}
    ~LruCache() { clear(); }
    LruCache(const LruCache&) = delete;
    LruCache& operator=(const LruCache&) = delete;

    Value* find(const std::string& key) {
        auto it = index_.find(key);
        if (it == index_.end()) return nullptr;
        order_.splice(order_.begin(), order_, it->second);
        return &it->second->second;
    }
    // The key must not be cached yet.
    Value& insert(const std::string& key, Value value) {
        if (order_.size() >= capacity_) {
            if (evict_) evict_(order_.back().second);
            index_.erase(order_.back().first);
            order_.pop_back();
        }
        order_.emplace_front(key, std::move(value));
        index_[key] = order_.begin();
        return order_.front().second;
    }
    void clear() {
        if (evict_) {
            for (auto& entry : order_) evict_(entry.second);
        }
        order_.clear();
        index_.clear();
    }
    size_t size() const { return order_.size(); }
    // Whether the next insert evicts a value.
    bool full() const { return order_.size() >= capacity_; }

private:
    using Entry = std::pair<std::string, Value>;
    size_t capacity_;
    Evict evict_;
    std::list<Entry> order_;
    std::unordered_map<std::string, typename std::list<Entry>::iterator> index_;
};

}  // namespace platform
