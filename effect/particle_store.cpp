#include "effect/particle_store.h"

#include "platform/services.h"

struct ParticleStore::Element {
    Element* previous;
    Element* next;
    Particle particle;
};

bool ParticleStore::addFront(const Particle& particle) {
    void* block = win::HeapAlloc(win::GetProcessHeap(), 0, sizeof(Element));
    if (block == nullptr) {
        return false;
    }
    Element* element = static_cast<Element*>(block);
    *element = Element{nullptr, front_, particle};
    if (front_ != nullptr) {
        front_->previous = element;
    }
    front_ = element;
    ++count_;
    return true;
}

Particle& ParticleStore::at(uint32_t index) {
    Element* element = front_;
    while (index-- > 0) {
        element = element->next;
    }
    return element->particle;
}

ParticleStore::Position ParticleStore::next(Position position) { return position->next; }

Particle& ParticleStore::particle(Position position) { return position->particle; }

ParticleStore::Position ParticleStore::removeAt(Position position) {
    Element* following = position->next;
    if (position->previous != nullptr) {
        position->previous->next = following;
    } else {
        front_ = following;
    }
    if (following != nullptr) {
        following->previous = position->previous;
    }
    win::HeapFree(win::GetProcessHeap(), 0, position);
    --count_;
    return following;
}

void ParticleStore::clear() {
    while (front_ != nullptr) {
        removeAt(front_);
    }
}
