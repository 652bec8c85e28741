// The component model: objects owned by other objects, freed by their owner, with
// stored property values applied once, through their setters, before Loaded().
#pragma once

#include <functional>
#include <string>
#include <vector>

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

// Raises its event only when one is assigned.
inline void Fire(const TNotifyEvent& event, TObject* sender) {
    if (event) event(sender);
}

// An object whose published state can be copied from another of its kind.
class TPersistent : public TObject {
public:
    // Copies source into this object; raises EConvertError when the kinds do not fit.
    virtual void Assign(const TPersistent& source);
};

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(index); }

    // Set while the component sits in a form designer: it keeps its values but
    // touches nothing outside the process.
    bool Designing() const { return designing_; }
    void SetDesigning(bool designing);
    // Set while stored property values are being applied.
    bool Reading() const { return reading_; }
    bool Destroying() const { return destroying_; }

    // Applies stored property values: sets the being-read flag on this component
    // and every component it owns, runs apply (which calls the setters in
    // declaration order), clears the flags, then calls Loaded() once on each, in
    // order of creation, this component first.
    void ReadStored(const std::function<void()>& apply);

protected:
    // Called once after the stored property values have been applied.
    virtual void Loaded() {}

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void SetReading(bool reading);

    TComponent* owner_;
    std::string name_;
    std::vector<TComponent*> components_;
    bool designing_ = false;
    bool reading_ = false;
    bool destroying_ = false;
};
