# The two commands of the README, plus the benchmarks.
BUILD ?= build
JOBS ?= $(shell nproc)
# After `make build`: `make install PREFIX=/usr DESTDIR=/tmp/stage` stages a packaged install.
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: deps configure build programs run test bench install clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

# The programs and their data only: what `make run` needs before the window appears.
PROGRAMS = krq krq-convert krq_data

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

programs: configure
	@cmake --build $(BUILD) -j $(JOBS) --target $(PROGRAMS)

run: programs
	./$(BUILD)/krq

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@scripts/run-benchmarks $(BUILD)

install:
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

clean:
	rm -rf $(BUILD)
