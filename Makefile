# The project's entry points; see README.md.

# Another compiler (make test CXX=clang++) builds in a directory of its own, as
# CMake keeps the compiler that first configured a directory.
ifeq ($(origin CXX),command line)
BUILD ?= build-$(subst +,x,$(notdir $(CXX)))
CMAKE_FLAGS += -DCMAKE_CXX_COMPILER=$(CXX)
endif
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
# Operand pairs per operation for make diff-extended.
PAIRS ?= 50000000

.PHONY: all deps configure build run test test-soft test-windows bench diff-extended format clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/levora-tax

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Everything on the software extended format, in its own build directory.
test-soft:
	@$(MAKE) --no-print-directory test BUILD=$(BUILD)-soft CMAKE_FLAGS="$(CMAKE_FLAGS) -DLEVORA_SOFT_EXTENDED=ON"

test-windows:
	scripts/test-windows $(BUILD)-windows

bench: build
	$(BUILD)/bin/levora-bench
	bench/batch-throughput.sh $(BUILD)/bin/levora-tax-cli
	@if [ -x $(BUILD)/bin/levora-bench-soft ]; then echo "On the software extended format:"; $(BUILD)/bin/levora-bench-soft; fi
	$(BUILD)/bin/levora-bench-extended

# The software extended format against the x87 on many more operand pairs than
# make test tries, from a fresh seed each time.
diff-extended: build
	@seed=$$(od -An -N4 -tu4 /dev/urandom | tr -d ' '); echo "seed $$seed, $(PAIRS) pairs per operation"; \
	LEVORA_EXTENDED_SEED=$$seed LEVORA_EXTENDED_PAIRS=$(PAIRS) $(BUILD)/bin/test_extended --gtest_filter='*ExtendedDifferential*' --gtest_brief=1

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
