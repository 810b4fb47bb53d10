// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

// Each test binary holds several QObject test classes; each registers itself here and the
// shared main runs them all.
namespace TestRegistry {

using Factory = std::function<std::unique_ptr<QObject>()>;

struct Entry {
    const char *name;
    Factory make;
};

std::vector<Entry> &entries();

struct Registrar {
    Registrar(const char *name, Factory make) { entries().push_back({name, std::move(make)}); }
};

} // namespace TestRegistry

#define PENNYLOOM_TEST(Class)                                                                                \
    static const TestRegistry::Registrar registrar_##Class(#Class, [] { return std::make_unique<Class>(); });
