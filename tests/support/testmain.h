#pragma once

#include <QObject>

#include <functional>
#include <vector>

// Test classes register themselves here; the suite's main runs them all.
//
// Skip in init() or in a test function, never in initTestCase(): QtTest
// keeps that skip after the class ends, and every later class of the same
// executable would then run nothing, silently.
struct TestClassEntry {
    const char *name;
    std::function<QObject *()> make;
};
std::vector<TestClassEntry> &TestClasses();

struct TestClassRegistration {
    TestClassRegistration(const char *name, std::function<QObject *()> make)
    {
        TestClasses().push_back({name, std::move(make)});
    }
};

#define LODEX_TEST(Class) \
    static TestClassRegistration registration_##Class(#Class, [] { return new Class; });
