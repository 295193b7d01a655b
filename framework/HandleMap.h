// Maps from Win32 handles to the wrapper objects that stand for them.
//
// A handle that the program created through a wrapper is "permanent": the
// wrapper is registered while it owns the handle. A handle met elsewhere (the
// pen a DC had selected, a window of another class) gets a "temporary" wrapper
// that belongs to the map and is deleted at the next idle time, so a pointer
// from FromHandle stays valid until the current message has been handled.
// The maps are per thread, as windows and DCs belong to the thread that made them.
#pragma once

#include <memory>
#include <unordered_map>

// The handle a wrapper holds, or null when asked through a null wrapper pointer
// (callers test "p->GetSafeHwnd()" on a pointer that may be null). The empty asm
// hides from the optimiser that the pointer, being "this" in the caller, cannot
// be null.
template <class Wrapper, class Owner, class Handle>
Handle SafeHandleOf(const Wrapper* self, Handle Owner::*member) {
    asm("" : "+r"(self));
    return self ? self->*member : nullptr;
}

template <class Handle, class Wrapper>
class CHandleMap {
public:
    Wrapper* LookupPermanent(Handle h) const {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    Wrapper* LookupTemporary(Handle h) const {
        auto it = m_temporary.find(h);
        return it == m_temporary.end() ? nullptr : it->second.get();
    }
    Wrapper* Lookup(Handle h) const {
        if (Wrapper* w = LookupPermanent(h)) return w;
        return LookupTemporary(h);
    }
    void SetPermanent(Handle h, Wrapper* w) { m_permanent[h] = w; }
    void RemoveHandle(Handle h) {
        m_permanent.erase(h);
        auto it = m_temporary.find(h);
        if (it != m_temporary.end()) {
            // A temporary wrapper never owns its handle: let go before deleting.
            it->second->DetachTemporary();
            m_temporary.erase(it);
        }
    }
    // Returns the wrapper for h, making a temporary one with make(h) if needed.
    template <class Make>
    Wrapper* FromHandle(Handle h, Make make) {
        if (h == nullptr) return nullptr;
        if (Wrapper* w = Lookup(h)) return w;
        std::unique_ptr<Wrapper> w = make(h);
        Wrapper* raw = w.get();
        m_temporary.emplace(h, std::move(w));
        return raw;
    }
    void DeleteTemporaries() {
        for (auto& entry : m_temporary) entry.second->DetachTemporary();
        m_temporary.clear();
    }

private:
    std::unordered_map<Handle, Wrapper*> m_permanent;
    std::unordered_map<Handle, std::unique_ptr<Wrapper>> m_temporary;
};

// The maps of the calling thread. A thread_local object with a destructor
// does not survive thread exit in this run time, so each thread's maps are
// made on first use and freed by AfxTermThreadMaps when a worker finishes.
void AfxRegisterThreadMapCleanup(void (*cleanup)());
void AfxTermThreadMaps();

template <class Handle, class Wrapper>
CHandleMap<Handle, Wrapper>& AfxThreadHandleMap() {
    thread_local CHandleMap<Handle, Wrapper>* map = nullptr;
    if (map == nullptr) {
        map = new CHandleMap<Handle, Wrapper>;
        AfxRegisterThreadMapCleanup([] {
            delete map;
            map = nullptr;
        });
    }
    return *map;
}
