# Lodex: `make run` and `make test` do everything on a fresh Debian 12.
# As root, missing Debian packages are installed first (scripts/install-deps.sh).

BUILD        ?= build
ASAN_BUILD   ?= build-asan
FUZZ_BUILD   ?= build-fuzz
BENCH_BUILD  ?= build-bench
PACKAGE_BUILD ?= build-package
FUZZ_SECONDS ?= 60
PREFIX       ?= /usr/local
JOBS         ?= $(shell nproc)

CMAKE_GEN = -G Ninja

.PHONY: all deps build test run asan fuzz bench install package clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	./scripts/run.sh $(BUILD)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DLODEX_SANITIZE=ON \
	    -DLODEX_BENCH=OFF -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS)

# Coverage-guided fuzzing of every parser of user files, FUZZ_SECONDS each,
# one after the other: the database reader, the phonebook merge, the
# JSON lines of lodex-cli build and the readers of Import and Paste. Each
# starts from its seed corpus in fuzz/.
FUZZ_TARGETS = ldxreader phonebookmerge jsonlines import

fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLODEX_FUZZ=ON \
	    -DLODEX_BENCH=OFF -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) --target $(addprefix fuzz-,$(FUZZ_TARGETS)) -j $(JOBS)
	set -e; for t in $(FUZZ_TARGETS); do \
	    seeds=fuzz/corpus-$$t; [ $$t != ldxreader ] || seeds=fuzz/corpus; \
	    mkdir -p $(FUZZ_BUILD)/corpus-$$t; \
	    $(FUZZ_BUILD)/bin/fuzz-$$t -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -rss_limit_mb=1024 \
	        -malloc_limit_mb=256 $(FUZZ_BUILD)/corpus-$$t $$seeds; \
	done

bench: deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	./scripts/bench.sh $(BENCH_BUILD)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The package is built on its own, without tests or benchmarks; the same
# source gives the same package, byte for byte.
package: deps
	cmake -S . -B $(PACKAGE_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
	    -DLODEX_BENCH=OFF -DLODEX_REPRODUCIBLE=ON
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD) $(PACKAGE_BUILD)
