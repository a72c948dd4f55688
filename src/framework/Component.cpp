#include "framework/Component.h"

namespace {
int loadingDepth = 0;
}

TComponent::TComponent(TComponent* owner) : owner_(owner), loading_(loadingDepth > 0) {}

TComponent::~TComponent() {
    // Later components may refer to earlier ones, so they go first.
    while (!owned_.empty()) owned_.pop_back();
}

void TComponent::Loaded() {
    loading_ = false;
}

TComponent::TLoadingScope::TLoadingScope() {
    ++loadingDepth;
}
TComponent::TLoadingScope::~TLoadingScope() {
    --loadingDepth;
}
