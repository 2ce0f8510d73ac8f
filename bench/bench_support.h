#pragma once
// Shared helpers of the benchmarks.
