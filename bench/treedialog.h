// Resource ids of the tree dialog benchmark.
#pragma once

#define IDD_BENCH_PAGE 100
#define IDC_BENCH_VALUE 101
#define IDC_BENCH_CHECK 102
