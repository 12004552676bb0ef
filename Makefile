# Two entry points for people: `make run` and `make test`.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local
# WERROR=ON stops the build at any compiler warning, as CI's builds do. Off
# by default, so that no build with other flags or another compiler fails
# on a warning.
WERROR     ?= OFF

.PHONY: all deps configure build program run test test-sanitize test-arm64 check-warnings bench check-sigmoid check-exponential install package clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DTIVARO_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

# The program alone, without the tests and the bench.
program: configure
	@cmake --build $(BUILD) -j$(JOBS) --target tivaro

run: program
	$(BUILD)/app/tivaro

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer
# in a build tree of their own; leaks count as failures, except those inside
# system libraries listed in tests/lsan.supp.
SANITIZE_BUILD ?= $(BUILD)-sanitize
SANITIZE_FLAGS := -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined
SANITIZE_ENV   := ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1 \
                  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
                  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0

test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTIVARO_WERROR=$(WERROR) \
	    -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	@$(SANITIZE_ENV) cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen $(SANITIZE_ENV) ctest --output-on-failure -j$(JOBS)

# The program and every test cross-built for arm64 (Raspberry Pi OS 64-bit)
# in a build tree of their own, the tests run through qemu-aarch64. Installs
# the cross compiler, qemu and the arm64 libraries first. Not part of `test`.
ARM64_BUILD ?= $(BUILD)-arm64

test-arm64:
	@bash scripts/test-arm64.sh $(CURDIR) $(ARM64_BUILD) $(BUILD_TYPE) $(JOBS) $(WERROR)

# The whole tree, tools included, built twice with warnings as errors, each
# in a tree of its own: with GCC at Release, whose -O3 lets the flow
# warnings see furthest, and with Debian's clang, whose warnings are
# others. Builds, runs nothing.
WARNINGS_BUILD ?= $(BUILD)-warnings
TOOLS          := make_goldens check_sigmoid check_exponential draw_artwork

check-warnings: deps
	@bash scripts/install-packages.sh clang
	@cmake -S . -B $(WARNINGS_BUILD)-gcc -DCMAKE_CXX_COMPILER=g++ -DCMAKE_BUILD_TYPE=Release -DTIVARO_WERROR=ON >/dev/null
	@cmake --build $(WARNINGS_BUILD)-gcc -j$(JOBS) --target all $(TOOLS)
	@cmake -S . -B $(WARNINGS_BUILD)-clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DTIVARO_WERROR=ON >/dev/null
	@cmake --build $(WARNINGS_BUILD)-clang -j$(JOBS) --target all $(TOOLS)

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/tivaro_bench

# Minutes long: the fast sigmoid against the extended rule on every float
# sum for the thresholds 0, 0.5 and 1.
check-sigmoid: configure
	@cmake --build $(BUILD) --target check_sigmoid -j$(JOBS)
	$(BUILD)/tests/check_sigmoid

# Minutes long: how often the sigmoid rule's float would change if its
# extended exponential were correctly rounded, as it is off x86.
check-exponential: configure
	@cmake --build $(BUILD) --target check_exponential -j$(JOBS)
	$(BUILD)/tests/check_exponential

# DESTDIR, when given, stages the tree for a packager instead of the system.
install: program
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# Writes $(BUILD)/tivaro_<version>_<arch>.deb.
package: program
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
