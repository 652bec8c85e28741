#include "gui/component.h"

#include <algorithm>
#include <typeinfo>

#include "gui/exceptions.h"

void TPersistent::Assign(const TPersistent& source) {
    throw EConvertError("Cannot assign a " + std::string(typeid(source).name()) + " to a " +
                        std::string(typeid(*this).name()));
}

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) {
        owner_->Insert(this);
        designing_ = owner_->designing_;
    }
}

TComponent::~TComponent() {
    destroying_ = true;
    // Owned components go in reverse order of creation, each one taken out of the
    // list before it is freed so that its destructor sees a consistent owner.
    while (!components_.empty()) {
        TComponent* last = components_.back();
        components_.pop_back();
        last->owner_ = nullptr;
        delete last;
    }
    if (owner_) owner_->Remove(this);
}

void TComponent::SetDesigning(bool designing) {
    designing_ = designing;
    for (auto* c : components_) c->SetDesigning(designing);
}

void TComponent::ReadStored(const std::function<void()>& apply) {
    SetReading(true);
    try {
        apply();
    } catch (...) {
        SetReading(false);
        throw;
    }
    SetReading(false);
    Loaded();
    // Loaded() of one component may create others; only those present now load.
    std::vector<TComponent*> owned = components_;
    for (auto* c : owned) c->Loaded();
}

void TComponent::Insert(TComponent* component) { components_.push_back(component); }

void TComponent::Remove(TComponent* component) {
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it != components_.end()) components_.erase(it);
}

void TComponent::SetReading(bool reading) {
    reading_ = reading;
    for (auto* c : components_) c->SetReading(reading);
}
