#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TObject {
  public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

// A named part of a window. Non-visual components (timers, image lists) are owned by their
// owner's component list; controls are owned by their parent control instead and only name
// their owner.
class TComponent : public TObject {
  public:
    explicit TComponent(TComponent* owner = nullptr);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    TComponent* Owner() const { return owner_; }
    long Tag() const { return tag_; }
    void SetTag(long tag) { tag_ = tag; }

    // True from construction inside a form's creation until the form calls Loaded on it.
    bool Loading() const { return loading_; }

    // Takes ownership of a non-visual component and returns it.
    template <class T>
    T* Own(std::unique_ptr<T> component) {
        T* raw = component.get();
        raw->owner_ = this;
        owned_.push_back(std::move(component));
        return raw;
    }
    const std::vector<std::unique_ptr<TComponent>>& OwnedComponents() const { return owned_; }

    // Ends the loading state; overrides finish what depends on all settings being made.
    virtual void Loaded();

    // Counts the forms under construction; components made meanwhile start loading.
    class TLoadingScope {
      public:
        TLoadingScope();
        ~TLoadingScope();
        TLoadingScope(const TLoadingScope&) = delete;
        TLoadingScope& operator=(const TLoadingScope&) = delete;
    };

  private:
    TComponent* owner_;
    std::string name_;
    long tag_ = 0;
    bool loading_;
    std::vector<std::unique_ptr<TComponent>> owned_;
};
