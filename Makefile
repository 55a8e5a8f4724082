BUILD ?= build
JOBS ?= $(shell nproc)
ARGS ?=

.PHONY: all deps configure build run test test-asan fuzz-build fuzz bench bench-fuzz pdf-printer install uninstall \
	deb translations-update screenshots clean

all: build

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/tagforge $(ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole test suite built with AddressSanitizer and UBSan; any report
# fails the run. Only leaks of Qt's offscreen platform are suppressed, and
# full malloc stacks are needed to recognise them.
ASAN_BUILD ?= build-asan
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1:fast_unwind_on_malloc=0 \
	LSAN_OPTIONS=suppressions=$(abspath tests/lsan.supp):print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DTAGFORGE_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

# libFuzzer targets built with clang, each run for FUZZ_SECONDS on a
# working corpus grown from the seeds in tests/fuzz/corpus. Findings land
# in $(FUZZ_BUILD)/findings.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = labelfile clipboard mimetypes
# The application lives until the process ends, so Qt's platform leak never
# shows; fast malloc stacks keep the fuzzers quick.
FUZZ_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(abspath tests/lsan.supp):print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DTAGFORGE_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers

fuzz: fuzz-build
	mkdir -p $(FUZZ_BUILD)/findings
	set -e; for target in $(FUZZ_TARGETS); do \
		mkdir -p $(FUZZ_BUILD)/corpus/$$target; \
		$(FUZZ_ENV) $(FUZZ_BUILD)/tests/fuzz/fuzz_$$target \
			-max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
			-artifact_prefix=$(abspath $(FUZZ_BUILD))/findings/$$target- \
			$(FUZZ_BUILD)/corpus/$$target tests/fuzz/corpus/$$target; \
	done

# Inputs per second of the fuzzers that read labels and clipboard records,
# each for FUZZ_RATE_SECONDS from its seeds.
FUZZ_RATE_SECONDS ?= 20
FUZZ_RATE_TARGETS = labelfile clipboard
FUZZ_RATE = $(FUZZ_ENV) bench/fuzzrate.sh $(FUZZ_BUILD) $(FUZZ_RATE_SECONDS) $(FUZZ_RATE_TARGETS)

bench-fuzz: fuzz-build
	$(FUZZ_RATE)

# The benchmark tables and fuzz throughput, then the QR code sweep where it
# was built. Both builds come first, so that no compiler runs beside them.
bench: build fuzz-build
	$(BUILD)/bench/tagforge_benchmark $(ARGS)
	$(FUZZ_RATE)
	if [ -x $(BUILD)/bench/qrsweep ]; then $(BUILD)/bench/qrsweep; fi

# A private PDF printer as the default printer in a shell; exit it to stop.
pdf-printer: build
	$(if $(filter 0,$(shell id -u)),,sudo) tests/cups/pdfprinter.sh shell --out $(abspath $(BUILD))/pdf-printer

# Installs under PREFIX, staged below DESTDIR when that is set (for
# packagers); build/install_manifest.txt records every file for uninstall.
# Without DESTDIR the desktop sees the new MIME type and menu entry at once.
PREFIX ?= /usr/local
DESTDIR ?=

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"
	$(if $(DESTDIR),,scripts/desktop-caches "$(PREFIX)")

uninstall:
	scripts/uninstall $(BUILD)/install_manifest.txt "$(PREFIX)" "$(DESTDIR)"

# The Debian package, $(BUILD)/tagforge_<version>_<arch>.deb, installing under /usr.
deb: build
	cd $(BUILD) && cpack -G DEB

# Brings the .ts files up to date with the texts of the sources; then
# translate the new entries (Qt Linguist, or by hand) and commit them.
translations-update: configure
	cmake --build $(BUILD) --target translations-update

# The README's pictures, from the real program under a virtual display.
screenshots: build
	scripts/screenshots $(BUILD)

clean:
	rm -rf $(BUILD)
