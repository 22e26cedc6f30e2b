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
