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
PREFIX ?= /usr/local
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 300

.PHONY: all deps configure build run test test-soft test-windows bench diff-extended format clean \
	install uninstall package hardening-deps sanitize fuzz lint

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

# DESTDIR stages the files below another root, as packagers do. The list of
# what was installed is kept apart from CMake's manifest, which the tests and
# cpack overwrite.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"
	sed 's|^|$(DESTDIR)|' $(BUILD)/install_manifest.txt > $(BUILD)/installed-files.txt

# Removes what the last `make install` from this build directory installed.
uninstall:
	@[ -f $(BUILD)/installed-files.txt ] || { echo "uninstall: nothing was installed from $(BUILD)" >&2; exit 1; }
	xargs -d '\n' rm -f -- < $(BUILD)/installed-files.txt
	sed -n 's|/copyright$$||p' $(BUILD)/installed-files.txt | xargs -r -d '\n' rmdir --ignore-fail-on-non-empty --
	rm -f $(BUILD)/installed-files.txt

package: build
	cd $(BUILD) && cpack
	@ls $(BUILD)/package/*.deb

hardening-deps:
	@scripts/install-deps --hardening

# The whole test suite built by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails the test that caused it.
sanitize: hardening-deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_CXX_COMPILER=clang++ \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEVORA_SANITIZE=ON -DLEVORA_BUILD_BENCH=OFF \
		$(CMAKE_FLAGS) >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_stack_use_after_return=1 \
		UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS)

# The amount rules under libFuzzer for FUZZ_SECONDS, from the committed seeds
# in fuzz/corpus and what earlier runs found (kept in $(FUZZ_BUILD)/corpus).
fuzz: hardening-deps
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEVORA_FUZZ=ON -DLEVORA_BUILD_GUI=OFF \
		-DLEVORA_BUILD_TESTS=OFF -DLEVORA_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(FUZZ_BUILD) --target levora-fuzz-amount -j $(JOBS)
	@mkdir -p $(FUZZ_BUILD)/corpus
	$(FUZZ_BUILD)/bin/levora-fuzz-amount -max_total_time=$(FUZZ_SECONDS) -timeout=5 \
		-dict=fuzz/amount.dict -artifact_prefix=$(FUZZ_BUILD)/ -print_final_stats=1 \
		$(FUZZ_BUILD)/corpus fuzz/corpus

# clang-tidy over every source of the project with the checked-in .clang-tidy;
# any finding fails.
lint: hardening-deps build
	run-clang-tidy -p $(BUILD) -quiet -j $(JOBS) \
		'$(CURDIR)/(engine|ui|cli|app|resources|tests|bench|fuzz)/'

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
