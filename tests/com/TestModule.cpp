#include "TestModule.h"

#include "TestCounter.h"

const CATID CATID_CorvaneTestCounters = {
    0x544F707E, 0xC2B1, 0x4503, {0xAD, 0x08, 0x49, 0x1D, 0x0D, 0xA0, 0x87, 0x81}};

ComModule& TestModule() {
    static const ComClassEntry classes[] = {
        {CCounter::ClassId, &CCounter::CreateInstance, CounterRegistryScript,
         &CATID_CorvaneTestCounters, 1},
    };
    static ComModule module(classes);
    return module;
}

namespace {

const CLSID Unregistrable = {
    0x0B1E9D62, 0x5A07, 0x4F3E, {0x8C, 0x41, 0x7D, 0x2A, 0x96, 0x13, 0xE5, 0x08}};

} // namespace

ComModule& ModuleFailingPartWay() {
    static const ComClassEntry classes[] = {
        {CCounter::ClassId, &CCounter::CreateInstance, CounterRegistryScript,
         &CATID_CorvaneTestCounters, 1},
        {&Unregistrable, &CCounter::CreateInstance, MissingRegistryScript, nullptr, 0},
    };
    static ComModule module(classes);
    return module;
}

ComModule& ModuleFailingOnFirstClass() {
    static const ComClassEntry classes[] = {
        {CCounter::ClassId, &CCounter::CreateInstance, CounterThenUnwritableScript,
         &CATID_CorvaneTestCounters, 1},
        {&Unregistrable, &CCounter::CreateInstance, MissingRegistryScript, nullptr, 0},
    };
    static ComModule module(classes);
    return module;
}
