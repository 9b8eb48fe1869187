# Every target sets itself up first, so each one works alone on a fresh machine.
BUILD ?= build
export BUILD

.PHONY: all setup build test demo bench fuzz package docs format clean

all: build

setup:
	@scripts/setup.sh

build: setup
	@cmake --build $(BUILD)

test: build
	@scripts/run-tests.sh

demo: build
	@scripts/run-demo.sh

bench: build
	@scripts/run-bench.sh

# `make fuzz INPUTS=<n>`: n inputs per fuzz target (200,000 when not given).
fuzz: build
	@INPUTS=$(INPUTS) scripts/run-fuzz.sh

# The SDK as a ZIP in out/package/.
package: build
	@cmake --build $(BUILD) --target package

# The API reference in out/docs/; fails on any Doxygen warning.
docs:
	@scripts/make-docs.sh

format:
	@git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
